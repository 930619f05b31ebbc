// Keeps ";" and line breaks out of a rule's search and replacement texts,
// whether typed or pasted: the RUL format has no way to store them.
#pragma once

#include <QValidator>

class RuleTextValidator final : public QValidator {
    Q_OBJECT

public:
    explicit RuleTextValidator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};
