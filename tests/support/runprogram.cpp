#include "runprogram.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tempdir.h"

ProgramRun runProgram(const std::string &program, const std::vector<std::string> &args)
{
    TempDir capture;
    const std::string outPath = capture.file("out"), errPath = capture.file("err");
    ProgramRun run;
    const pid_t child = ::fork();
    if (child < 0)
        return run;
    if (child == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0)
            ::_exit(127);
        std::vector<char *> argv;
        argv.push_back(const_cast<char *>(program.c_str()));
        for (const auto &arg : args)
            argv.push_back(const_cast<char *>(arg.c_str()));
        argv.push_back(nullptr);
        ::alarm(60); // outlives execv
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.out = readText(outPath);
    run.err = readText(errPath);
    return run;
}
