#pragma once
// How the pure code tells the user something: it hands a kind and a German text to a
// callback, and the window layer shows it through the desktop seam.

#include <QString>
#include <functional>

namespace luftikon {

enum class MessageKind {
    Information,         // caption "Information", OK
    Warning,             // caption "Warnung", OK
    Plain,               // caption "Luftikon", OK
    Error,               // caption "Fehler", OK: the general error report
    Question,            // caption "Bestätigung", Ja/Nein, question icon
    WarningQuestion,     // caption "Bestätigung", Ja/Nein, warning icon
    InformationQuestion, // caption "Bestätigung", Ja/Nein, information icon
};

using Notify = std::function<void(MessageKind, const QString&)>;

} // namespace luftikon
