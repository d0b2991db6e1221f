#pragma once

#include <com/sun/star/uno/XComponentContext.hpp>
#include <string>

namespace kalkora::uno {

// This process's own UNO runtime, bootstrapped on first use from the office's program folder
// and kept until the process ends; null when it cannot be bootstrapped.
css::uno::Reference<css::uno::XComponentContext> LocalContext();

// The component context of an office that accepts on the pipe; null when none answers.
css::uno::Reference<css::uno::XComponentContext> ConnectToPipe(const std::string& pipeName);

// Disposes this process's bridges to offices, so that calls waiting on them return with a
// DisposedException. Safe from any thread.
void DisposeBridges();

}  // namespace kalkora::uno
