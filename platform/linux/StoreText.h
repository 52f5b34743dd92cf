#pragma once
// The store file's bytes as the UTF-8 text the store reads. Editors on the
// host system put a UTF-8 byte-order mark in front, and regedit exports in
// UTF-16 with its mark: both read as the same text. Bytes without a mark are
// taken as they are. Writing is always plain UTF-8, without a mark.
#include <string>
#include <string_view>

// Never fails: a UTF-16 unit that is no character (a lone surrogate) becomes
// U+FFFD, and an odd last byte is dropped.
std::string DecodeStoreText(std::string_view bytes);
