#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The SMS-centre choices of the form's combo box: three operators with fixed
// numbers and the custom entry, under which the user types the number.
class smsPresets
{
public:
    static constexpr int customIndex = 3;

    // Item texts in combo-box order: "T-Mobile", "Telenor", "Vodafone", "Egyéni".
    static QStringList itemTexts();

    // Index of the operator whose number is exactly number; any other text,
    // the empty one included, gives the custom index.
    static int indexForNumber(const QString &number);

    // The number an item puts into the field; none for the custom item (or a
    // text that is no item), which leaves the field's text as it is.
    static std::optional<QString> numberForItem(const QString &itemText);

    // Whether the field is editable under this item: only under the custom one.
    static bool isCustom(const QString &itemText);
};
