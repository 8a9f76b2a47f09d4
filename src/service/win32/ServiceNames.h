#pragma once

// The service as the service manager knows it, and its pipe.
constexpr wchar_t kServiceName[] = L"Tolvi";
constexpr wchar_t kPipeName[] = L"\\\\.\\pipe\\Tolvi";
