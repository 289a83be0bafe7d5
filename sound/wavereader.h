#pragma once
// The WAV reader on the platform's RIFF chunk functions. Every call returns 0
// on success, else one of the codes below or the code of the chunk function
// that failed.
#include <cstddef>

#include "platform/dsound.h"
#include "platform/mmio.h"
#include "platform/types.h"

enum : u32 {
    WAVEERR_NOMEMORY = 0xE000,   // no memory for the format block
    WAVEERR_CANNOTOPEN = 0xE100,
    WAVEERR_NOTWAVE = 0xE101,    // wrong ids, "fmt " under 16 bytes, or the extra format bytes cut short
    WAVEERR_SHORTFORMAT = 0xE102, // a read of the "fmt " chunk came back short
    WAVEERR_DATAENDED = 0xE103,  // the samples ran out before the count
};

// The format block is 18 + cbSize bytes, the caller's until WaveCloseFile.
u32 WaveOpenFile(const char* file, mmiofile** outfile, waveformatex** outformat, mmckinfo* outriff);
// The same over a file's bytes, which must outlive the handle.
u32 WaveOpenMemory(const u8* data, size_t size, mmiofile** outfile, waveformatex** outformat, mmckinfo* outriff);
// Leaves the file at the samples; the data chunk's size is their byte count.
u32 WaveStartDataRead(mmiofile** file, mmckinfo* outdata, mmckinfo* riff);
// Takes up to count bytes, fewer when the data chunk has fewer left; the
// chunk's size goes down by what was taken.
u32 WaveReadFile(mmiofile* file, u32 count, u8* dst, mmckinfo* data, u32* outread);
// Frees the format block and closes the file, whichever exist; both become none.
u32 WaveCloseFile(mmiofile** file, waveformatex** format);
