#pragma once

class QLineEdit;
class QString;

// Puts text on the clipboard, selects what edit holds and presses the paste
// key on it, as a user pastes a copied cell over a field.
void pasteOver(QLineEdit *edit, const QString &text);
