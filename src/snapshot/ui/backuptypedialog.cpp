#include "backuptypedialog.h"

#include "dialogbuttons.h"

#include "host/texts.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

BackupTypeDialog::BackupTypeDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmBackupType"));
    setWindowTitle(LoadText("选择盘点类型"));
    auto *label = new QLabel(LoadText("请选择该盘点方案的备份类型"), this);
    m_curStock = new QRadioButton(LoadText("即时库存"), this);
    m_curStock->setObjectName(QStringLiteral("OpCurStock"));
    m_curStock->setChecked(true);
    m_cutDate = new QRadioButton(LoadText("截止日期"), this);
    m_cutDate->setObjectName(QStringLiteral("OptCutDate"));

    const DialogButtons buttons(this);
    connect(buttons.ok, &QPushButton::clicked, this, [this] {
        m_logic.setType(m_cutDate->isChecked() ? 2 : 1);
        m_logic.ok();
        accept();
    });
    connect(buttons.cancel, &QPushButton::clicked, this, [this] {
        m_logic.cancel();
        reject();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_curStock);
    layout->addWidget(m_cutDate);
    layout->addWidget(buttons.box);
}

void BackupTypeDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        m_logic.keyPressed(112);
        return;
    }
    QDialog::keyPressEvent(event);
}

QVariantMap BackupTypeDialog::open(const QVariantMap &)
{
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    BackupTypeDialog dialog(parent);
    dialog.exec();
    return dialog.logic().result();
}
