#pragma once

#include <string>
#include <string_view>

// The Task Scheduler definition (schema 1.2, UTF-16) of a task that starts
// the program, with the arguments when there are any, when the user of
// `userSid` logs on, with the highest rights that user has, at normal
// priority, on battery power too, with no time limit and never twice at once.
std::u16string BuildStartupTaskXml(std::u16string_view programPath, std::u16string_view arguments,
                                   std::u16string_view userSid);
