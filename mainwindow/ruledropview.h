// The drop field of the RUL file.
#pragma once

#include "dropview.h"

class RuleDropView : public DropView {
    Q_OBJECT

public:
    explicit RuleDropView(QWidget *parent = nullptr);
};
