#pragma once

#include <functional>
#include <string>

#include "office/com/word_objects.hpp"

namespace kalkora::com {

// Word's numbers for the document route.
inline constexpr int wdExportFormatPDF = 17;
inline constexpr int wdDoNotSaveChanges = 0;

// The calls that turn a written .docx into a PDF through Word, in this order, on the thread
// (a single-threaded apartment) that runs them:
//   the application from the factory; Application.Documents;
//   Documents.Open(docx, ConfirmConversions false, ReadOnly true, AddToRecentFiles false, ...,
//                  Visible false);
//   Document.ExportAsFixedFormat(pdf, 17); Document.Close(SaveChanges wdDoNotSaveChanges);
//   Documents.Count, and Application.Quit(wdDoNotSaveChanges) only when no document is
//   open (also after a failed Open), so that an office the user works in is never closed.
// `beforeEachCall` runs before every call; when it returns false no further call is made.
// True when the PDF was exported; every reference taken is released before it returns.
bool ExportPdfThroughWord(const ApplicationFactory& factory, const std::wstring& docxPath,
                          const std::wstring& pdfPath, const std::function<bool()>& beforeEachCall);

}  // namespace kalkora::com
