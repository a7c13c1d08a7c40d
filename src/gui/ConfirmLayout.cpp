#include "ConfirmLayout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace pelmora {

void LayOutConfirmation(QDialog* dialog, const QList<QWidget*>& texts,
                        const QList<QPushButton*>& buttons) {
    dialog->setWindowTitle(QStringLiteral("Confirm Configuration"));
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* icon = new QLabel;
    icon->setPixmap(dialog->style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* textColumn = new QVBoxLayout;
    for (QWidget* text : texts)
        textColumn->addWidget(text);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(textColumn, 1);

    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    row->addStretch();

    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    dialog->setMinimumWidth(420);
}

} // namespace pelmora
