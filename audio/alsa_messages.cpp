#include "audio/alsa_messages.h"

#include <dlfcn.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

// Allegro loads ALSA itself, as a plug-in; the game reaches the same library
// at run time rather than linking it, so a machine without it still starts.
namespace {
typedef void (*AlsaErrorHandler)(const char* file, int line, const char* function, int err,
                                 const char* format, ...);
typedef int (*SetErrorHandler)(AlsaErrorHandler handler);
typedef int (*NextCard)(int* card);
typedef const char* (*ErrorText)(int err);

void* alsa = nullptr;
SetErrorHandler set_error_handler = nullptr;
ErrorText error_text = nullptr;

// What ALSA said during the probe, as its own handler would have printed it.
char held[4096];
size_t held_length = 0;

void holdLine(const char* file, int line, const char* function, int err, const char* format, ...) {
    char text[512];
    int used = std::snprintf(text, sizeof text, "ALSA lib %s:%i:(%s) ", file, line, function);
    va_list args;
    va_start(args, format);
    if (used > 0 && size_t(used) < sizeof text) std::vsnprintf(text + used, sizeof text - used, format, args);
    va_end(args);
    size_t length = std::strlen(text);
    if (err && error_text) length += std::snprintf(text + length, sizeof text - length, ": %s", error_text(err));
    if (length >= sizeof text) length = sizeof text - 1;
    if (held_length + length + 1 >= sizeof held) return;
    std::memcpy(held + held_length, text, length);
    held_length += length;
    held[held_length++] = '\n';
}

bool anyAlsaCard() {
    NextCard next_card = reinterpret_cast<NextCard>(dlsym(alsa, "snd_card_next"));
    int card = -1;
    return !next_card || (next_card(&card) == 0 && card >= 0);
}
}  // namespace

void holdAlsaMessages() {
    held_length = 0;
    alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa) return;
    set_error_handler = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    error_text = reinterpret_cast<ErrorText>(dlsym(alsa, "snd_strerror"));
    if (set_error_handler) set_error_handler(holdLine);
}

void releaseAlsaMessages(bool sound_installed) {
    if (!alsa) return;
    if (set_error_handler) set_error_handler(nullptr);
    if (sound_installed || anyAlsaCard()) std::fwrite(held, 1, held_length, stderr);
    held_length = 0;
    dlclose(alsa);
    alsa = nullptr;
}
