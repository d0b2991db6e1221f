#include "core/word/pdf_writer.hpp"

namespace kalkora {

PdfWriter::~PdfWriter() = default;

}  // namespace kalkora
