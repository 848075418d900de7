#pragma once
// Packed coefficient storage for progressive JPEG decoding. libjpeg keeps every DCT
// coefficient of a progressive picture until its last scan (128 bytes per 8 x 8 block,
// about 72 MB for 24 megapixels) whatever the output scale; most quantised coefficients
// are zero, so rows kept as "which are non-zero" plus those values take a fraction of it.
// Only jpegscale.cpp and its tests include this.
#include <cstddef>
#include <cstdio>

// After <cstdio>: jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

namespace platform::imaging_detail {

class JpegCoefficientStore {
 public:
  JpegCoefficientStore() = default;
  // Frees whatever libjpeg's destroy path left (it normally frees everything itself).
  ~JpegCoefficientStore();
  JpegCoefficientStore(const JpegCoefficientStore&) = delete;
  JpegCoefficientStore& operator=(const JpegCoefficientStore&) = delete;

  // Takes over the whole-image coefficient arrays of `info`: call after jpeg_read_header
  // and before jpeg_start_decompress, once per decompression object. Uses info->client_data.
  // The store must outlive the object or its jpeg_destroy_decompress.
  void Attach(j_decompress_ptr info);

  // Bytes held now, and the most held at once (packed rows plus expanded windows).
  std::size_t HeldBytes() const { return held_; }
  std::size_t PeakBytes() const { return peak_; }
  // What libjpeg's own arrays would have taken.
  std::size_t FullBytes() const { return full_; }

 private:
  struct Array;

  static jvirt_barray_ptr Request(j_common_ptr info, int pool, boolean preZero,
                                  JDIMENSION blocksPerRow, JDIMENSION rows, JDIMENSION maxAccess);
  static void Realize(j_common_ptr info);
  static JBLOCKARRAY Access(j_common_ptr info, jvirt_barray_ptr array, JDIMENSION startRow,
                            JDIMENSION rows, boolean writable);
  static void FreePool(j_common_ptr info, int pool);
  static void SelfDestruct(j_common_ptr info);

  static JpegCoefficientStore* Of(j_common_ptr info);
  void* Allocate(j_common_ptr info, std::size_t bytes);
  void Release(void* block, std::size_t bytes);
  void ReleaseAll();
  void PackRow(j_common_ptr info, Array* array, JDIMENSION row, JBLOCKROW blocks);
  void UnpackRow(const Array* array, JDIMENSION row, JBLOCKROW blocks) const;

  Array* arrays_ = nullptr;  // a list through Array::next
  std::size_t held_ = 0;
  std::size_t peak_ = 0;
  std::size_t full_ = 0;
  unsigned char* scratch_ = nullptr;  // one packed row's worst case
  std::size_t scratchBytes_ = 0;
  void (*realize_)(j_common_ptr) = nullptr;
  void (*freePool_)(j_common_ptr, int) = nullptr;
  void (*selfDestruct_)(j_common_ptr) = nullptr;
};

}  // namespace platform::imaging_detail
