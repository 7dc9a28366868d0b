// The movie library's clock (stands still while a movie is paused), its debug log and the loader
// of the frame codec library, chosen by the movie's width.
#pragma once

#include <cstdint>

// Milliseconds: the platform's tick count less the time spent paused.
double TM_Now();
void TM_ClockPause();
void TM_ClockResume();
// Tests: forgets every pause.
void TM_ClockRAZ();

// Debug lines go to standard error while a movie is running and MORVANE_TRACE is set, and to
// the log file when one is open.
void TM_Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void TM_LogRaw(const char* format, ...) __attribute__((format(printf, 1, 2)));
void TM_MovieStarted();
void TM_MovieEnded();
bool TM_LogEnabled();
// Opens (or with null closes) the log file, appended to; `rouvrir` closes and reopens it after
// each line. False when it cannot be opened.
bool TM_LogFile(const char* nom, bool rouvrir = false);
// Tests: the active-movie counter back to 0, no file.
void TM_LogRAZ();

// The codec's three entry points (C calling convention).
using RVFPI_InitProc = int32_t (*)(int32_t bitsRvb, int32_t hauteur, int32_t largeur, const uint8_t* entete);
using RVFPI_DecodeFrameProc = int32_t (*)(const uint8_t* donnees, const void* precedent, void* courant);
using RVFPI_CleanupProc = void (*)();

// 0; -14 width not 512, 640, 800 or 1024; -19 no library "TM6_<w>x16.DLL" nor "TM6_<w>.DLL";
// -20 already loaded for these RGB bits; -21 an export missing; -46 the codec refused the movie.
int32_t TM_LoadCodec(const uint8_t* entete, int32_t bitsRvb, bool initialiser);
// 0, or -22 when none is loaded.
int32_t TM_FreeCodec();
bool TM_CodecLoaded();
// Decodes one image block with the loaded codec: false when none is loaded.
bool TM_DecodeFrame(const uint8_t* donnees, const void* precedent, void* courant);
