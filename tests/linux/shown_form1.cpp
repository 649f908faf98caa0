#include "shown_form1.h"

#include <QRadioButton>
#include <QTest>

bool ShownForm1::open()
{
    m_form = std::make_unique<tarvex::Form1>();
    m_form->show();
    return QTest::qWaitForWindowActive(m_form.get());
}

void ShownForm1::choose(tarvex::design::ControlId option) const
{
    control<QRadioButton>(option)->setChecked(true);
}

void ShownForm1::click(tarvex::design::ControlId button) const
{
    QTest::mouseClick(control(button), Qt::LeftButton);
}

QString ShownForm1::nameOf(tarvex::design::ControlId id)
{
    const std::string_view name = tarvex::design::nameOf(id);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

void ShownForm1::missing(const char *kind, tarvex::design::ControlId id)
{
    qFatal("Form1 has no %s named %s", kind, qPrintable(nameOf(id)));
}
