#pragma once

#include "host/texts.h"

#include <QDialogButtonBox>
#include <QPushButton>

// The OK and Cancel buttons of the count dialogs: "确定(&O)" (cmdOK, the default
// button) and "取消(&C)" (cmdCancel). The dialog connects them to its own steps.
struct DialogButtons
{
    QDialogButtonBox *box = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;

    explicit DialogButtons(QWidget *parent)
        : box(new QDialogButtonBox(parent))
        , ok(box->addButton(LoadText("确定(&O)"), QDialogButtonBox::AcceptRole))
        , cancel(box->addButton(LoadText("取消(&C)"), QDialogButtonBox::RejectRole))
    {
        ok->setObjectName(QStringLiteral("cmdOK"));
        ok->setDefault(true);
        cancel->setObjectName(QStringLiteral("cmdCancel"));
    }
};
