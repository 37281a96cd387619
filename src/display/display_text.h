#pragma once

#include <QString>
#include <string_view>

// Wire texts are byte strings. They are shown as UTF-8 when they are
// well-formed UTF-8 and as Latin-1 otherwise, so that every byte stays visible.
QString displayText(std::string_view bytes);

// The reverse of displayText for texts the user typed or that came back from a
// control: the bytes a comparison with wire texts must use.
std::string wireText(const QString& text);
