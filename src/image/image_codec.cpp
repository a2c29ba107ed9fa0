// PLACEHOLDER: being written.
#include "image_codec.h"
namespace varel {
void DecodeImage(const MemoryImage&, Configuration&, Language) {}
void EncodeImage(const Configuration&, MemoryImage&) {}
}  // namespace varel
