#include "platform/mmio.h"

#include <cstring>
#include <new>
#include <vector>

#include "platform/files.h"

// The whole file is read when it is opened; everything after works on its
// bytes, the file's own copy or the caller's.
struct mmiofile {
    std::vector<u8> owned;
    const u8* bytes = nullptr;
    i64 size = 0;
    bool visible = false; // the caller was given the buffer (MMIO_ALLOCBUF)
    std::vector<u8> buffer;
    mmioinfo info;
};

constexpr i64 maxoffset = 0x7FFFFFFF;

static i64 position(const mmiofile* f) { return (i64)f->info.lBufOffset + (f->info.pchNext - f->info.pchBuffer); }

// An empty window at an offset: the next read fills from there.
static void emptyat(mmiofile* f, i64 at) {
    f->info.lBufOffset = (i32)at;
    f->info.lDiskOffset = (i32)at;
    f->info.pchNext = f->info.pchEndRead = f->info.pchBuffer;
}

// Never asks the host for a byte past the end of the file.
static bool fill(mmiofile* f, i64 at) {
    emptyat(f, at);
    i64 n = f->size - at;
    if (n <= 0) return true;
    if (n > (i64)f->buffer.size()) n = (i64)f->buffer.size();
    std::memcpy(f->buffer.data(), f->bytes + at, (size_t)n);
    f->info.pchEndRead = f->info.pchBuffer + n;
    f->info.lDiskOffset = (i32)(at + n);
    return true;
}

static bool inwindow(const mmiofile* f, const u8* p) { return p >= f->info.pchBuffer && p <= f->info.pchEndRead; }

static mmiofile* openon(std::vector<u8>* owned, const u8* data, size_t size, mmioinfo* info, u32 flags) {
    u32 why = MMSYSERR_NOERROR;
    mmiofile* f = nullptr;
    size_t bufsize = info && info->cchBuffer ? info->cchBuffer : MMIO_DEFAULTBUFFER;
    // NOLINTNEXTLINE(bugprone-branch-clone): two causes, one answer, in the order they are found
    if (flags & ~MMIO_ALLOCBUF) why = MMIOERR_CANNOTOPEN;
    else if ((u64)size > (u64)maxoffset) why = MMIOERR_CANNOTOPEN;
    else if (!(f = new (std::nothrow) mmiofile)) why = MMIOERR_OUTOFMEMORY;
    else {
        try {
            f->buffer.resize(bufsize);
        } catch (const std::bad_alloc&) {
            why = MMIOERR_OUTOFMEMORY;
        }
    }
    if (info) info->wErrorRet = why;
    if (why != MMSYSERR_NOERROR) {
        delete f;
        return nullptr;
    }
    if (owned) {
        f->owned.swap(*owned);
        data = f->owned.data();
    }
    f->bytes = data;
    f->size = (i64)size;
    f->visible = (flags & MMIO_ALLOCBUF) != 0;
    f->info.cchBuffer = (u32)bufsize;
    f->info.pchBuffer = f->buffer.data();
    emptyat(f, 0);
    return f;
}

mmiofile* mmio_open(const char* gamepath, mmioinfo* info, u32 flags) {
    std::vector<u8> bytes;
    if (flags & ~MMIO_ALLOCBUF) {
        if (info) info->wErrorRet = MMIOERR_CANNOTOPEN;
        return nullptr;
    }
    if (!gamepath || !plat_readfile(gamepath, &bytes, MMIO_MAXFILE)) {
        if (info) info->wErrorRet = gamepath && plat_fileexists(gamepath) ? MMIOERR_CANNOTOPEN : MMIOERR_FILENOTFOUND;
        return nullptr;
    }
    size_t size = bytes.size();
    return openon(&bytes, nullptr, size, info, flags);
}

mmiofile* mmio_openmemory(const u8* data, size_t size, mmioinfo* info, u32 flags) {
    return openon(nullptr, data, size, info, flags);
}

u32 mmio_close(mmiofile* f, u32) {
    if (!f) return MMIOERR_INVALIDPARAM;
    delete f;
    return MMSYSERR_NOERROR;
}

i32 mmio_read(mmiofile* f, void* dst, i32 count) {
    if (!f || count < 0 || (!dst && count > 0)) return -1;
    u8* out = (u8*)dst;
    i32 done = 0;
    while (done < count) {
        if (f->info.pchNext == f->info.pchEndRead) {
            if (!fill(f, position(f))) return -1;
            if (f->info.pchNext == f->info.pchEndRead) break;
        }
        i64 n = f->info.pchEndRead - f->info.pchNext;
        if (n > count - done) n = count - done;
        std::memcpy(out + done, f->info.pchNext, (size_t)n);
        f->info.pchNext += n;
        done += (i32)n;
    }
    return done;
}

// Inside what the buffer holds only the read pointer moves.
static i64 seekto(mmiofile* f, i64 at) {
    if (at < 0 || at > maxoffset) return -1;
    i64 held = f->info.pchEndRead - f->info.pchBuffer;
    if (at >= f->info.lBufOffset && at <= f->info.lBufOffset + held)
        f->info.pchNext = f->info.pchBuffer + (at - f->info.lBufOffset);
    else
        emptyat(f, at);
    return at;
}

i32 mmio_seek(mmiofile* f, i32 offset, int origin) {
    if (!f) return -1;
    i64 base = origin == MMIO_SEEK_SET ? 0 : origin == MMIO_SEEK_CUR ? position(f) : origin == MMIO_SEEK_END ? f->size : -1;
    if (base < 0) return -1;
    return (i32)seekto(f, base + offset);
}

static u32 le32(const u8* p) { return (u32)p[0] | (u32)p[1] << 8 | (u32)p[2] << 16 | (u32)p[3] << 24; }

// The chunk header at an offset (with the form type, for RIFF and LIST). The
// header has to be in the file; the chunk's declared extent has to stay
// inside limit, the parent's end, but may run past the end of the file.
static u32 readheader(mmiofile* f, i64 at, i64 limit, mmckinfo* out) {
    if (at + 8 > limit || seekto(f, at) < 0) return MMIOERR_CHUNKNOTFOUND;
    u8 head[8];
    i32 got = mmio_read(f, head, 8);
    if (got < 0) return MMIOERR_CANNOTREAD;
    if (got < 8) return MMIOERR_CHUNKNOTFOUND;
    mmckinfo ck;
    ck.ckid = le32(head);
    ck.cksize = le32(head + 4);
    ck.dwDataOffset = (u32)(at + 8);
    if ((i64)ck.dwDataOffset + ck.cksize > limit) return MMIOERR_INVALIDFILE;
    if (ck.ckid == FOURCC_RIFF || ck.ckid == FOURCC_LIST) {
        if (ck.cksize < 4) return MMIOERR_INVALIDFILE;
        got = mmio_read(f, head, 4);
        if (got < 0) return MMIOERR_CANNOTREAD;
        if (got < 4) return MMIOERR_CHUNKNOTFOUND;
        ck.fccType = le32(head);
    }
    *out = ck;
    return MMSYSERR_NOERROR;
}

static bool matches(const mmckinfo& found, const mmckinfo& want, u32 flags) {
    if (flags & MMIO_FINDCHUNK) return found.ckid == want.ckid;
    if (flags & MMIO_FINDRIFF) return found.ckid == FOURCC_RIFF && found.fccType == want.fccType;
    if (flags & MMIO_FINDLIST) return found.ckid == FOURCC_LIST && found.fccType == want.fccType;
    return true;
}

u32 mmio_descend(mmiofile* f, mmckinfo* ck, const mmckinfo* parent, u32 flags) {
    if (!f || !ck) return MMIOERR_INVALIDPARAM;
    i64 limit = parent ? (i64)parent->dwDataOffset + parent->cksize : INT64_MAX;
    i64 at = position(f);
    for (;;) {
        mmckinfo found;
        u32 r = readheader(f, at, limit, &found);
        if (r != MMSYSERR_NOERROR) return r;
        if (matches(found, *ck, flags)) {
            *ck = found;
            return MMSYSERR_NOERROR;
        }
        at = (i64)found.dwDataOffset + found.cksize + (found.cksize & 1);
    }
}

u32 mmio_ascend(mmiofile* f, mmckinfo* ck, u32) {
    if (!f || !ck) return MMIOERR_INVALIDPARAM;
    i64 end = (i64)ck->dwDataOffset + ck->cksize + (ck->cksize & 1);
    return seekto(f, end) < 0 ? MMIOERR_CANNOTSEEK : MMSYSERR_NOERROR;
}

u32 mmio_getinfo(mmiofile* f, mmioinfo* info, u32) {
    if (!f || !info) return MMIOERR_INVALIDPARAM;
    *info = f->info;
    if (!f->visible) {
        info->pchBuffer = info->pchNext = info->pchEndRead = nullptr;
        info->cchBuffer = 0;
    }
    return MMSYSERR_NOERROR;
}

u32 mmio_advance(mmiofile* f, mmioinfo* info, u32 flags) {
    if (!f || !info || flags != MMIO_READ) return MMIOERR_INVALIDPARAM;
    if (!f->visible) return MMIOERR_UNBUFFERED;
    if (!inwindow(f, info->pchNext)) return MMIOERR_INVALIDPARAM;
    f->info.pchNext = info->pchNext;
    bool ok = fill(f, position(f));
    *info = f->info;
    return ok ? MMSYSERR_NOERROR : MMIOERR_CANNOTREAD;
}

u32 mmio_setinfo(mmiofile* f, const mmioinfo* info, u32) {
    if (!f || !info) return MMIOERR_INVALIDPARAM;
    if (!f->visible) return MMSYSERR_NOERROR;
    if (!inwindow(f, info->pchNext)) return MMIOERR_INVALIDPARAM;
    f->info.pchNext = info->pchNext;
    return MMSYSERR_NOERROR;
}
