#pragma once

#include "design/form1_design.h"

#include <QString>

#include <string_view>

class QWidget;

// A case's text as Qt holds it.
[[nodiscard]] inline QString fromCase(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] inline QString fromCase(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// A case's control by the name Qt knows it by.
[[nodiscard]] inline QString fromCase(tarvex::design::ControlId id)
{
    return fromCase(tarvex::design::nameOf(id));
}

// Types a key script (key_script.h) into the widget as Qt Test's key events: characters of
// Latin-1 as key clicks; others as a key press carrying the character, the way a character
// outside the keyboard's map arrives (Qt Test's key clicks cannot type them); an input method's
// commit as the event an input method sends.
void typeKeyScript(QWidget *widget, std::u16string_view script);
