#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The command line that opens a web page with the browser registered for ".htm", built from
// the registered command (code page 932) and the page's address.

// Byte offset where the registered command is cut: the quoted placeholder "%1" with its quotes,
// else a bare %1; npos when it has neither.
size_t FindPlaceholderCut(std::string_view command);

// The registered command up to its placeholder, a blank and the address.
std::string BrowserCommandLine(std::string_view registered, std::string_view url);
