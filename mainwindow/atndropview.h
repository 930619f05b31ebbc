// The drop field of the input and output ATN files.
#pragma once

#include "dropview.h"

class AtnDropView : public DropView {
    Q_OBJECT

public:
    explicit AtnDropView(QWidget *parent = nullptr);
};
