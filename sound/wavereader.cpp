#include "sound/wavereader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/memory.h"

constexpr fourcc FOURCC_WAVE = mmio_fourcc('W', 'A', 'V', 'E');
constexpr fourcc FOURCC_FMT = mmio_fourcc('f', 'm', 't', ' ');
constexpr fourcc FOURCC_DATA = mmio_fourcc('d', 'a', 't', 'a');
constexpr i32 PCMFORMATBYTES = 16; // the format without the extra count

static u32 openfailed(u32 code, mmiofile** file, waveformatex** format) {
    WaveCloseFile(file, format);
    return code;
}

static bool iswave(const mmckinfo& riff) { return riff.ckid == FOURCC_RIFF && riff.fccType == FOURCC_WAVE; }

// The format chunk into a fresh block; the file stays at its start.
static u32 readformat(mmiofile* f, const mmckinfo& fmt, waveformatex** outformat) {
    if (fmt.cksize < (u32)PCMFORMATBYTES) return WAVEERR_NOTWAVE;
    waveformatex head{};
    if (mmio_read(f, &head, PCMFORMATBYTES) != PCMFORMATBYTES) return WAVEERR_SHORTFORMAT;
    u16 extra = 0;
    if (head.wFormatTag != WAVE_FORMAT_PCM && mmio_read(f, &extra, 2) != 2) return WAVEERR_SHORTFORMAT;
    size_t bytes = sizeof(waveformatex) + extra;
    waveformatex* block = (waveformatex*)std::malloc(bytes);
    if (!block) return WAVEERR_NOMEMORY;
    memoryused += (u32)bytes;
    *outformat = block;
    std::memcpy(block, &head, PCMFORMATBYTES);
    block->cbSize = extra;
    if (extra && mmio_read(f, (u8*)block + sizeof(waveformatex), extra) != extra) return WAVEERR_NOTWAVE;
    return 0;
}

static u32 openwave(mmiofile* f, mmiofile** outfile, waveformatex** outformat, mmckinfo* outriff) {
    if (!f) return WAVEERR_CANNOTOPEN;
    u32 r = mmio_descend(f, outriff, nullptr, 0);
    if (r) return openfailed(r, &f, outformat);
    if (!iswave(*outriff)) return openfailed(WAVEERR_NOTWAVE, &f, outformat);
    mmckinfo fmt;
    fmt.ckid = FOURCC_FMT;
    if ((r = mmio_descend(f, &fmt, outriff, MMIO_FINDCHUNK))) return openfailed(r, &f, outformat);
    if ((r = readformat(f, fmt, outformat))) return openfailed(r, &f, outformat);
    if ((r = mmio_ascend(f, &fmt, 0))) return openfailed(r, &f, outformat);
    *outfile = f;
    return 0;
}

u32 WaveOpenFile(const char* name, mmiofile** outfile, waveformatex** outformat, mmckinfo* outriff) {
    *outformat = nullptr;
    *outfile = nullptr;
    return openwave(mmio_open(name, nullptr, MMIO_ALLOCBUF | MMIO_READ), outfile, outformat, outriff);
}

u32 WaveOpenMemory(const u8* data, size_t size, mmiofile** outfile, waveformatex** outformat, mmckinfo* outriff) {
    *outformat = nullptr;
    *outfile = nullptr;
    return openwave(mmio_openmemory(data, size, nullptr, MMIO_ALLOCBUF | MMIO_READ), outfile, outformat, outriff);
}

// The search starts again just past "WAVE", so whatever chunks sit between
// "fmt " and "data" are skipped.
u32 WaveStartDataRead(mmiofile** file, mmckinfo* outdata, mmckinfo* riff) {
    mmio_seek(*file, (i32)(riff->dwDataOffset + 4), MMIO_SEEK_SET);
    outdata->ckid = FOURCC_DATA;
    return mmio_descend(*file, outdata, riff, MMIO_FINDCHUNK);
}

u32 WaveReadFile(mmiofile* file, u32 count, u8* dst, mmckinfo* data, u32* outread) {
    *outread = 0;
    mmioinfo info;
    u32 r = mmio_getinfo(file, &info, 0);
    if (r) return r;
    u32 n = std::min(count, data->cksize);
    data->cksize -= n;
    for (u32 i = 0; i < n; i++) {
        if (info.pchNext == info.pchEndRead) {
            if ((r = mmio_advance(file, &info, MMIO_READ))) return r;
            if (info.pchNext == info.pchEndRead) return WAVEERR_DATAENDED;
        }
        dst[i] = *info.pchNext++;
    }
    if ((r = mmio_setinfo(file, &info, 0))) return r;
    *outread = n;
    return 0;
}

u32 WaveCloseFile(mmiofile** file, waveformatex** format) {
    if (*format) {
        memoryused -= (u32)(sizeof(waveformatex) + (*format)->cbSize);
        std::free(*format);
        *format = nullptr;
    }
    if (*file) {
        mmio_close(*file, 0);
        *file = nullptr;
    }
    return 0;
}
