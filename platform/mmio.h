#pragma once
// Buffered reading of RIFF files, chunk by chunk, for the game's WAV reader:
// open, read, seek, descend into a chunk, ascend out of it, and a window onto
// the I/O buffer that a reader can walk byte by byte (getinfo, advance,
// setinfo). Read access only.
//
// Chunk sizes come from the file and are not trusted. A descend fails when
// the chunk's header is not wholly in the file or when the chunk would run
// past its parent. A chunk that is cut short by the end of the file is still
// reported with the size it declares: the data that is missing is the
// reader's to find out about, and every read stops at the real end of the
// file (reads come back short, the I/O buffer comes back empty), so no size
// can lead to a read outside the file's bytes.
#include <cstddef>

#include "platform/types.h"

typedef u32 fourcc;

constexpr fourcc mmio_fourcc(char a, char b, char c, char d) {
    return (u32)(u8)a | (u32)(u8)b << 8 | (u32)(u8)c << 16 | (u32)(u8)d << 24;
}
constexpr fourcc FOURCC_RIFF = mmio_fourcc('R', 'I', 'F', 'F');
constexpr fourcc FOURCC_LIST = mmio_fourcc('L', 'I', 'S', 'T');

// Results: 0 is success.
enum : u32 {
    MMSYSERR_NOERROR = 0,
    MMIOERR_FILENOTFOUND = 257,  // no such file
    MMIOERR_OUTOFMEMORY = 258,   // no memory for the I/O buffer
    MMIOERR_CANNOTOPEN = 259,    // access other than reading, or an unusable file
    MMIOERR_CANNOTREAD = 261,    // the host read failed
    MMIOERR_CANNOTSEEK = 263,
    MMIOERR_CHUNKNOTFOUND = 265, // end of the file or the parent before a chunk header
    MMIOERR_UNBUFFERED = 266,    // opened without an I/O buffer
    MMIOERR_INVALIDFILE = 272,   // a chunk runs past its parent
    MMIOERR_INVALIDPARAM = 273,
};

// Open flags. Reading is access mode 0; any other mode is refused.
enum : u32 {
    MMIO_READ = 0x0,
    MMIO_WRITE = 0x1,
    MMIO_READWRITE = 0x2,
    MMIO_ALLOCBUF = 0x10000,
};
// Descend flags (one at most); advance flag.
enum : u32 {
    MMIO_FINDCHUNK = 0x10, // the chunk with the given ckid
    MMIO_FINDRIFF = 0x20,  // a "RIFF" chunk with the given fccType
    MMIO_FINDLIST = 0x40,  // a "LIST" chunk with the given fccType
};
constexpr u32 MMIO_DEFAULTBUFFER = 8192;
// No sound of the game comes near this; a larger file is refused unread.
constexpr size_t MMIO_MAXFILE = 64u << 20;

// Seek origins.
enum : int { MMIO_SEEK_SET = 0, MMIO_SEEK_CUR = 1, MMIO_SEEK_END = 2 };

struct mmckinfo {
    fourcc ckid = 0;
    u32 cksize = 0;       // as the file declares it
    fourcc fccType = 0;   // "RIFF" and "LIST" only
    u32 dwDataOffset = 0; // file offset of the chunk's data (of the form type, for RIFF and LIST)
    u32 dwFlags = 0;
};

// The caller's view of the I/O buffer. Between getinfo and setinfo the caller
// may take the bytes from pchNext up to pchEndRead and move pchNext on; when
// they are used up, advance refills the buffer from the file.
struct mmioinfo {
    u32 dwFlags = 0;
    u32 wErrorRet = 0;    // open: why it failed
    u32 cchBuffer = 0;    // open with MMIO_ALLOCBUF: buffer size wanted (0: the default)
    u8* pchBuffer = nullptr;
    u8* pchNext = nullptr;
    u8* pchEndRead = nullptr;
    i32 lBufOffset = 0;   // file offset of pchBuffer[0]
    i32 lDiskOffset = 0;  // file offset just past the bytes in the buffer
};

struct mmiofile;

// Null when the file cannot be opened; info (optional) then carries the reason.
// The file is read whole at the open (a file too large for a sound is not
// opened), so nothing after touches the disk.
mmiofile* mmio_open(const char* gamepath, mmioinfo* info, u32 flags);
// The same over bytes in memory, which must outlive the handle.
mmiofile* mmio_openmemory(const u8* data, size_t size, mmioinfo* info, u32 flags);
u32 mmio_close(mmiofile* f, u32 flags);
// Bytes read (fewer at the end of the file), -1 when the host read fails.
i32 mmio_read(mmiofile* f, void* dst, i32 count);
// The new position, -1 when it would be negative. Past the end is allowed;
// reads there come back empty.
i32 mmio_seek(mmiofile* f, i32 offset, int origin);
// Into the chunk at the current position, or with a find flag the first
// matching chunk from there on, within parent when given. Leaves the
// position at the chunk's data (past the form type for RIFF and LIST).
u32 mmio_descend(mmiofile* f, mmckinfo* ck, const mmckinfo* parent, u32 flags);
// To the end of the chunk, padded to an even offset.
u32 mmio_ascend(mmiofile* f, mmckinfo* ck, u32 flags);
u32 mmio_getinfo(mmiofile* f, mmioinfo* info, u32 flags);
// Takes the caller's read position from info, refills the buffer from there
// and hands the new window back in info. An empty window: end of file.
u32 mmio_advance(mmiofile* f, mmioinfo* info, u32 flags);
u32 mmio_setinfo(mmiofile* f, const mmioinfo* info, u32 flags);
