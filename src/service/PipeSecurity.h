#pragma once

// Who may do what with the service's pipe, as the text of a security
// descriptor: owned by SYSTEM; network logons denied; SYSTEM and
// Administrators all rights; interactive users (anyone logged on here, in
// any session) reading and writing data only (0x12008b: FILE_GENERIC_READ
// and FILE_WRITE_DATA), not FILE_CREATE_PIPE_INSTANCE, which
// FILE_GENERIC_WRITE would include, so that no user can serve the pipe's
// name. Protected: nothing inherited. ASCII.
constexpr char kPipeSecurity[] = "O:SYD:P(D;;GA;;;NU)(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x12008b;;;IU)";
