#pragma once
#include <optional>
#include <string>

// The installer's texts and names are GBK (code page 936) byte strings.

// The GBK form of a UTF-8 text; nothing when the text is not valid UTF-8 or
// holds a character that GBK cannot represent.
std::optional<std::string> Utf8ToGbk(const std::string& utf8);

// As Utf8ToGbk, but refuses naming the field, and also refuses a text longer
// than the 259 bytes that the installer's buffers hold.
std::string GbkField(const std::string& utf8, const std::string& field);

// For display: bytes that are not GBK are shown as \xNN.
std::string GbkToUtf8(const std::string& gbk);
