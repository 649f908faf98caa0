#include "shown_form1.h"

#include <QRadioButton>
#include <QTest>

bool ShownForm1::open()
{
    m_form = std::make_unique<tarvex::Form1>();
    m_form->show();
    return QTest::qWaitForWindowActive(m_form.get());
}

void ShownForm1::choose(QAnyStringView option) const
{
    control<QRadioButton>(option)->setChecked(true);
}

void ShownForm1::click(QAnyStringView button) const
{
    QTest::mouseClick(control(button), Qt::LeftButton);
}

void ShownForm1::missing(const char *kind, QAnyStringView name)
{
    qFatal("Form1 has no %s named %s", kind, qPrintable(name.toString()));
}
