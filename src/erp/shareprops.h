#pragma once

#include "host/hostcomponents.h"

namespace erp {

// The login's shared values: "PropsString" (the login property string the shell
// built at login) and "UserName", both kept in the shared state.
class LoginShareProps : public ShareProps
{
public:
    QVariant GetProperty(const QString &name) override;
};

} // namespace erp
