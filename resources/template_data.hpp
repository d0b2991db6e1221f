#pragma once

#include <cstddef>

// The template files as byte arrays, generated at build time from resources/templates/*.doc.
namespace kalkora::template_data {

extern const unsigned char kSheet18[];
extern const std::size_t kSheet18Size;
extern const unsigned char kSheet24[];
extern const std::size_t kSheet24Size;
extern const unsigned char kSheet30[];
extern const std::size_t kSheet30Size;

}  // namespace kalkora::template_data
