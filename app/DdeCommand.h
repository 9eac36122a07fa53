// The DDE server's execute strings: "[Open(path)]" and "[Null(...)]". The raw execute data is
// copied into its fixed buffer first; a command that does not fit is refused whole, so a long
// string is never cut into a different, shorter command.
#pragma once
#include <cstddef>

constexpr std::size_t kDdeExecuteSize = 460;
constexpr std::size_t kDdeArgumentSize = 260;

enum TDdeCommandIndex { kDdeInvalid = -1, kDdeOpen = 0, kDdeNull = 1 };

// Copies the execute data (up to its first zero byte, or all of it) with a terminating zero;
// false when the text and its zero do not fit the buffer.
bool CopyDdeExecuteData(const void* data, std::size_t size, char (&buffer)[kDdeExecuteSize]);

// Parses one execute string. `command` is kDdeOpen, kDdeNull or kDdeInvalid; the argument is
// empty unless the string is valid. An argument that does not fit its buffer makes it invalid.
bool ParseDdeCommand(const char* text, int& command, char (&argument)[kDdeArgumentSize]);
