// Collects what the process writes to standard output while it lives.
#pragma once

#include <QTemporaryFile>

class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    Q_DISABLE_COPY_MOVE(StdoutCapture)

    // Everything written so far.
    [[nodiscard]] QByteArray text();

private:
    QTemporaryFile m_file;
    int m_savedStdout = -1;
};
