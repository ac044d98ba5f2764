// Conversions between the UTF-8 of files, pipes and logs and the UTF-16 of the platform, for the programs
// around the item. Embedded U+0000 is kept both ways.
#pragma once
#include <string>

// A lone surrogate becomes U+FFFD (EF BF BD): a log line stays valid UTF-8 whatever text it reports.
std::string ToUtf8(const std::wstring& text);

// Lenient: an ill-formed byte sequence becomes U+FFFD, so a script or text file with a stray byte still reads.
std::wstring FromUtf8(const std::string& utf8);

// Strict: false, and wide left empty, when the bytes are not well-formed UTF-8, so that a caller can name the
// field at fault instead of passing on replacement characters.
bool FromUtf8Strict(const std::string& utf8, std::wstring& wide);
