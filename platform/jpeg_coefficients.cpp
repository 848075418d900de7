#include "platform/jpeg_coefficients.h"

#include <jerror.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// libjpeg's errors leave through longjmp (the caller's error_exit), also from inside the
// methods below: nothing in them has a destructor, and every block they allocate is on the
// store's lists, so the destroy path or the store's destructor frees it.

namespace platform::imaging_detail {

static_assert(DCTSIZE2 == 64 && sizeof(JCOEF) == 2, "a block is 64 two-byte coefficients");

// One whole-image coefficient array. Each block row is kept packed on its own: per block a
// 64-bit mask of the non-zero coefficients, then those coefficients in natural order, one
// byte each where they fit. A null row is all zeros. The rows libjpeg last asked for are kept
// expanded in `slots`.
struct JpegCoefficientStore::Array {
  Array* next;
  JDIMENSION blocksPerRow;
  JDIMENSION rows;
  JDIMENSION maxAccess;
  bool realized;
  unsigned char** packed;    // rows entries
  std::size_t* packedBytes;  // rows entries
  JDIMENSION slotCount;      // maxAccess + 2 * kSmoothingReach
  JBLOCKROW* slots;          // slotCount expanded rows
  JBLOCKROW zeroRow;         // stands in for rows outside the window
  JBLOCKROW* window;         // what Access hands out, kSmoothingReach rows of margin each side
  unsigned* windowSlot;      // slot of each window row
  bool* windowDirty;         // written since it was unpacked
  unsigned* nextSlot;        // scratch for the next window
  bool* nextDirty;
  bool* slotTaken;
  JDIMENSION windowStart;
  JDIMENSION windowCount;
};

namespace {

// libjpeg 2.1's block smoothing reads up to two block rows beyond those it asks for (around
// the second iMCU row of a component with one block row per iMCU row); its own manager
// keeps the whole array in memory, where such reads find the coefficients. Reads keep
// that many rows expanded on each side.
constexpr JDIMENSION kSmoothingReach = 2;

// Most coefficients fit a signed byte; the rest follow this byte as two.
constexpr unsigned char kWideValue = 0x80;
constexpr std::size_t kWorstPackedBlock = sizeof(std::uint64_t) + DCTSIZE2 * (1 + sizeof(JCOEF));

std::uint64_t NonZeroMask(const JCOEF* c) {
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  std::uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + 16 * i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(c + 16 * i + 8));
    const __m128i zeros = _mm_packs_epi16(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero));
    const unsigned bits = ~static_cast<unsigned>(_mm_movemask_epi8(zeros)) & 0xFFFFu;
    mask |= static_cast<std::uint64_t>(bits) << (16 * i);
  }
  return mask;
#else
  std::uint64_t mask = 0;
  for (int k = 0; k < DCTSIZE2; ++k) mask |= static_cast<std::uint64_t>(c[k] != 0) << k;
  return mask;
#endif
}

}  // namespace

JpegCoefficientStore::~JpegCoefficientStore() { ReleaseAll(); }

void JpegCoefficientStore::Attach(j_decompress_ptr info) {
  info->client_data = this;
  jpeg_memory_mgr* mem = info->mem;
  realize_ = mem->realize_virt_arrays;
  freePool_ = mem->free_pool;
  selfDestruct_ = mem->self_destruct;
  mem->request_virt_barray = Request;
  mem->realize_virt_arrays = Realize;
  mem->access_virt_barray = Access;
  mem->free_pool = FreePool;
  mem->self_destruct = SelfDestruct;
}

JpegCoefficientStore* JpegCoefficientStore::Of(j_common_ptr info) {
  return static_cast<JpegCoefficientStore*>(info->client_data);
}

void* JpegCoefficientStore::Allocate(j_common_ptr info, std::size_t bytes) {
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  if (!block) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
  held_ += bytes;
  if (held_ > peak_) peak_ = held_;
  return block;
}

void JpegCoefficientStore::Release(void* block, std::size_t bytes) {
  if (!block) return;
  std::free(block);
  held_ -= bytes;
}

void JpegCoefficientStore::ReleaseAll() {
  while (arrays_) {
    Array* a = arrays_;
    arrays_ = a->next;
    // Every pointer starts null, so a realisation that failed half-way is freed too.
    if (a->packed && a->packedBytes) {
      for (JDIMENSION r = 0; r < a->rows; ++r) Release(a->packed[r], a->packedBytes[r]);
    }
    Release(a->packed, a->rows * sizeof(*a->packed));
    Release(a->packedBytes, a->rows * sizeof(*a->packedBytes));
    const std::size_t n = a->slotCount;
    if (a->slots) {
      for (std::size_t s = 0; s < n; ++s) Release(a->slots[s], a->blocksPerRow * sizeof(JBLOCK));
    }
    Release(a->slots, n * sizeof(*a->slots));
    Release(a->zeroRow, a->blocksPerRow * sizeof(JBLOCK));
    Release(a->window, (n + 2 * kSmoothingReach) * sizeof(*a->window));
    Release(a->windowSlot, n * sizeof(unsigned));
    Release(a->windowDirty, n * sizeof(bool));
    Release(a->nextSlot, n * sizeof(unsigned));
    Release(a->nextDirty, n * sizeof(bool));
    Release(a->slotTaken, n * sizeof(bool));
    Release(a, sizeof(Array));
  }
  Release(scratch_, scratchBytes_);
  scratch_ = nullptr;
  scratchBytes_ = 0;
}

jvirt_barray_ptr JpegCoefficientStore::Request(j_common_ptr info, int pool, boolean,
                                               JDIMENSION blocksPerRow, JDIMENSION rows,
                                               JDIMENSION maxAccess) {
  // Whole-image arrays live in the image pool only, as in libjpeg's own manager.
  if (pool != JPOOL_IMAGE) ERREXIT1(info, JERR_BAD_POOL_ID, pool);
  JpegCoefficientStore* store = Of(info);
  auto* a = static_cast<Array*>(store->Allocate(info, sizeof(Array)));
  std::memset(static_cast<void*>(a), 0, sizeof(Array));
  a->blocksPerRow = blocksPerRow;
  a->rows = rows;
  a->maxAccess = maxAccess;
  a->next = store->arrays_;
  store->arrays_ = a;
  store->full_ += static_cast<std::size_t>(blocksPerRow) * rows * sizeof(JBLOCK);
  return reinterpret_cast<jvirt_barray_ptr>(a);
}

void JpegCoefficientStore::Realize(j_common_ptr info) {
  JpegCoefficientStore* store = Of(info);
  store->realize_(info);  // any sample arrays stay libjpeg's
  for (Array* a = store->arrays_; a; a = a->next) {
    if (a->realized) continue;
    const std::size_t n = a->maxAccess + 2 * kSmoothingReach;
    a->slotCount = static_cast<JDIMENSION>(n);
    a->packed = static_cast<unsigned char**>(store->Allocate(info, a->rows * sizeof(*a->packed)));
    std::memset(static_cast<void*>(a->packed), 0, a->rows * sizeof(*a->packed));
    a->packedBytes =
        static_cast<std::size_t*>(store->Allocate(info, a->rows * sizeof(*a->packedBytes)));
    std::memset(a->packedBytes, 0, a->rows * sizeof(*a->packedBytes));
    a->slots = static_cast<JBLOCKROW*>(store->Allocate(info, n * sizeof(*a->slots)));
    std::memset(static_cast<void*>(a->slots), 0, n * sizeof(*a->slots));
    for (std::size_t s = 0; s < n; ++s) {
      a->slots[s] = static_cast<JBLOCKROW>(store->Allocate(info, a->blocksPerRow * sizeof(JBLOCK)));
    }
    a->zeroRow = static_cast<JBLOCKROW>(store->Allocate(info, a->blocksPerRow * sizeof(JBLOCK)));
    std::memset(static_cast<void*>(a->zeroRow), 0, a->blocksPerRow * sizeof(JBLOCK));
    a->window = static_cast<JBLOCKROW*>(
        store->Allocate(info, (n + 2 * kSmoothingReach) * sizeof(*a->window)));
    a->windowSlot = static_cast<unsigned*>(store->Allocate(info, n * sizeof(unsigned)));
    a->windowDirty = static_cast<bool*>(store->Allocate(info, n * sizeof(bool)));
    a->nextSlot = static_cast<unsigned*>(store->Allocate(info, n * sizeof(unsigned)));
    a->nextDirty = static_cast<bool*>(store->Allocate(info, n * sizeof(bool)));
    a->slotTaken = static_cast<bool*>(store->Allocate(info, n * sizeof(bool)));
    a->windowStart = 0;
    a->windowCount = 0;
    a->realized = true;
    const std::size_t worst = a->blocksPerRow * kWorstPackedBlock;
    if (worst > store->scratchBytes_) {
      store->Release(store->scratch_, store->scratchBytes_);
      store->scratch_ = nullptr;
      store->scratchBytes_ = 0;
      store->scratch_ = static_cast<unsigned char*>(store->Allocate(info, worst));
      store->scratchBytes_ = worst;
    }
  }
}

void JpegCoefficientStore::PackRow(j_common_ptr info, Array* a, JDIMENSION row, JBLOCKROW blocks) {
  unsigned char* out = scratch_;
  for (JDIMENSION b = 0; b < a->blocksPerRow; ++b) {
    const JCOEF* c = blocks[b];
    std::uint64_t mask = NonZeroMask(c);
    std::memcpy(out, &mask, sizeof(mask));
    out += sizeof(mask);
    while (mask) {
      const JCOEF v = c[__builtin_ctzll(mask)];
      if (v >= -127 && v <= 127) {
        *out++ = static_cast<unsigned char>(static_cast<signed char>(v));
      } else {
        *out++ = kWideValue;
        std::memcpy(out, &v, sizeof(v));
        out += sizeof(v);
      }
      mask &= mask - 1;
    }
  }
  const std::size_t bytes = static_cast<std::size_t>(out - scratch_);
  if (bytes != a->packedBytes[row]) {
    Release(a->packed[row], a->packedBytes[row]);
    a->packed[row] = nullptr;
    a->packedBytes[row] = 0;
    a->packed[row] = static_cast<unsigned char*>(Allocate(info, bytes));
    a->packedBytes[row] = bytes;
  }
  std::memcpy(a->packed[row], scratch_, bytes);
}

void JpegCoefficientStore::UnpackRow(const Array* a, JDIMENSION row, JBLOCKROW blocks) const {
  std::memset(static_cast<void*>(blocks), 0, a->blocksPerRow * sizeof(JBLOCK));
  const unsigned char* in = a->packed[row];
  if (!in) return;
  for (JDIMENSION b = 0; b < a->blocksPerRow; ++b) {
    JCOEF* c = blocks[b];
    std::uint64_t mask;
    std::memcpy(&mask, in, sizeof(mask));
    in += sizeof(mask);
    while (mask) {
      JCOEF v = static_cast<signed char>(*in++);
      if (v == -128) {
        std::memcpy(&v, in, sizeof(v));
        in += sizeof(v);
      }
      c[__builtin_ctzll(mask)] = v;
      mask &= mask - 1;
    }
  }
}

JBLOCKARRAY JpegCoefficientStore::Access(j_common_ptr info, jvirt_barray_ptr array,
                                         JDIMENSION startRow, JDIMENSION rows, boolean writable) {
  JpegCoefficientStore* store = Of(info);
  auto* a = reinterpret_cast<Array*>(array);
  if (!a->realized || rows > a->maxAccess || startRow > a->rows || rows > a->rows - startRow) {
    ERREXIT(info, JERR_BAD_VIRTUAL_ACCESS);
  }
  JDIMENSION first = startRow;
  JDIMENSION last = startRow + rows;
  if (!writable) {
    first = startRow > kSmoothingReach ? startRow - kSmoothingReach : 0;
    last = a->rows - last > kSmoothingReach ? last + kSmoothingReach : a->rows;
  }
  const JDIMENSION count = last - first;
  // Rows that stay in the window keep their expanded copy; rows that leave it are packed
  // back if they were handed out writable.
  const JDIMENSION none = a->slotCount;
  std::memset(a->slotTaken, 0, none * sizeof(bool));
  for (JDIMENSION j = 0; j < count; ++j) a->nextSlot[j] = none;
  for (JDIMENSION i = 0; i < a->windowCount; ++i) {
    const JDIMENSION row = a->windowStart + i;
    const unsigned slot = a->windowSlot[i];
    if (row >= first && row < last) {
      a->nextSlot[row - first] = slot;
      a->nextDirty[row - first] = a->windowDirty[i];
      a->slotTaken[slot] = true;
    } else if (a->windowDirty[i]) {
      store->PackRow(info, a, row, a->slots[slot]);
    }
  }
  unsigned free = 0;
  for (JDIMENSION j = 0; j < count; ++j) {
    if (a->nextSlot[j] != none) continue;
    while (a->slotTaken[free]) ++free;
    a->slotTaken[free] = true;
    a->nextSlot[j] = free;
    a->nextDirty[j] = false;
    store->UnpackRow(a, first + j, a->slots[free]);
  }
  const JDIMENSION entries = a->slotCount + 2 * kSmoothingReach;
  for (JDIMENSION k = 0; k < entries; ++k) a->window[k] = a->zeroRow;
  for (JDIMENSION j = 0; j < count; ++j) {
    a->windowSlot[j] = a->nextSlot[j];
    a->windowDirty[j] = a->nextDirty[j] || writable;
    a->window[kSmoothingReach + j] = a->slots[a->nextSlot[j]];
  }
  a->windowStart = first;
  a->windowCount = count;
  return a->window + kSmoothingReach + (startRow - first);
}

void JpegCoefficientStore::FreePool(j_common_ptr info, int pool) {
  JpegCoefficientStore* store = Of(info);
  if (pool == JPOOL_IMAGE) store->ReleaseAll();
  store->freePool_(info, pool);
}

void JpegCoefficientStore::SelfDestruct(j_common_ptr info) {
  JpegCoefficientStore* store = Of(info);
  store->ReleaseAll();
  store->selfDestruct_(info);
}

}  // namespace platform::imaging_detail
