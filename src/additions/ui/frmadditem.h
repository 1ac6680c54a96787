#pragma once

#include "additions/additemlogic.h"

#include <QDialog>
#include <QHash>
#include <QVariantMap>

class QDateEdit;
class QLineEdit;
class QPushButton;

// frmAddItem: enters goods found during a count that have no count row. The
// fields and their look-ups, "添加(&A)" to add and stay for the next entry,
// "确定(&O)" to add and close, "退出(&E)" to close. All rules are the logic's.
class FrmAddItem : public QDialog
{
    Q_OBJECT

public:
    FrmAddItem(int processId, const QDate &today, QWidget *parent = nullptr);

    AddItemLogic &logic() { return m_logic; }
    // The opener of the window registry: {"ProcID": id} in, {"Added": n} out.
    static QVariantMap open(const QVariantMap &args);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Field = AddItemLogic::Field;
    void setupUi();
    QLineEdit *edit(const char *name, Field field, bool readOnly = false);
    QPushButton *lookupButton(const char *name, Field field);
    void render();
    void focusField(Field field);
    // Hands a field typed in but not yet left to the logic; false when refused.
    bool takeTyped(QLineEdit *edit);
    bool takeAllTyped();
    Field fieldOf(QObject *widget) const;

    AddItemLogic m_logic;
    QHash<QObject *, Field> m_fields;
    QLineEdit *m_number = nullptr, *m_name = nullptr, *m_model = nullptr, *m_unit = nullptr;
    QLineEdit *m_stockNumber = nullptr, *m_stockName = nullptr, *m_spNumber = nullptr, *m_spName = nullptr;
    QLineEdit *m_batch = nullptr, *m_mto = nullptr, *m_kfPeriod = nullptr, *m_aux = nullptr, *m_secUnit = nullptr;
    QLineEdit *m_qty = nullptr, *m_adj = nullptr, *m_secQty = nullptr, *m_note = nullptr;
    QDateEdit *m_kfDate = nullptr;
    QPushButton *m_spButton = nullptr;
};
