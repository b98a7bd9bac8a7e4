#pragma once

#include <string>

// Opens a web page in the user's browser; above 32 on success, as the shell reports it. When no
// handler takes the address itself, the browser registered for ".htm" is started with it.
int OpenWebPage(const std::wstring& url, int showCommand);
