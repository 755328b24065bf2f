// run_cli.h: tabrix-cli run as a separate process, as a user runs it from a shell.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

struct Ran {
    int status; // the exit status, 128 + the signal when a signal ended it
    std::string out, err;
};

inline std::string shell_quoted(std::string_view s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a bash script in which $0 is tabrix-cli, with input on standard input.
inline Ran shell(const std::string& script, const std::string& input = "")
{
    // Named by process: test programs of other trees may run beside this one.
    const std::string dir = ::testing::TempDir() + "tabrix_cli_" + std::to_string(getpid()) + "_";
    std::ofstream(dir + "cli_in", std::ios::binary) << input;
    const std::string command =
        "bash -c " + shell_quoted(script) + " " TABRIX_CLI " <" + dir + "cli_in 2>" + dir + "cli_err";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    for (int c; (c = std::fgetc(pipe)) != EOF;)
        out.push_back(static_cast<char>(c));
    const int status = pclose(pipe);
    std::stringstream err;
    err << std::ifstream(dir + "cli_err").rdbuf();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1, out, err.str()};
}

// Runs "tabrix-cli ARGS" (ARGS as a shell reads them: quoted, perhaps with redirections).
inline Ran cli(const std::string& args, const std::string& input = "") { return shell("exec \"$0\" " + args, input); }
