// "Translate Several Files…": the inputs chosen in one panel that takes
// several files, a folder for the results, then a batch (translation/batch.h)
// with the main window's rule file and its check boxes.
//
// The rule file is read first, so that a choice of files is never asked for
// in vain. The batch shows its progress, cancellable between files, and
// writes every file's transcript and the summary to the main window's
// console; a refused batch warns instead and leaves the console alone.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <vector>

#include "translation/batch.h"

class ViewController;

class BatchTranslation {
    Q_DECLARE_TR_FUNCTIONS(BatchTranslation)

public:
    explicit BatchTranslation(ViewController &controller);

    // Reads the rules, asks for the inputs and the folder, and translates;
    // then brings the Stored Strings window up to date, as an output may
    // have replaced its file.
    void chooseAndTranslate();

private:
    // Translates `inputs` into `folder` by `pairs`, which are checked, and
    // shows the summary as the window's outcome line.
    void translate(const QStringList &inputs, const QString &folder, const std::vector<translation::Pair> &pairs);

    ViewController &m_controller;
};
