#include "formfont.h"

#include <QApplication>
#include <QFont>

void useFormFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    QApplication::setFont(font);
}
