// Shared helpers of the data file tests.
#pragma once

#include "test_files.h"

#include "core/cp932.h"
#include "core/document.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define QSTEREO_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QSTEREO_SANITIZED 1
#endif
#endif

// Bytes as a string, so a failed comparison shows them.
inline std::string str(const QByteArray& bytes) {
    return std::string(bytes.constData(), bytes.size());
}
inline std::string str(const QString& text) {
    return text.toStdString();
}

// The CP932 bytes of a text written here in UTF-8.
inline QByteArray sjis(const QString& text) {
    return cp932::encode(text);
}

// The document a new one is: default titles and 100 empty rows.
inline Document NewDocumentValue() {
    Document d;
    d.roseTitle = QStringLiteral("ローズダイアグラム");
    d.contourTitle = QStringLiteral("（シュミットネット下半球投影）\r\n");
    d.plotTitle = QStringLiteral("分布図");
    d.rows.resize(100);
    return d;
}

// A document with something in every part.
inline Document FullDocument() {
    Document d;
    d.roseTitle = QStringLiteral("ローズ");
    d.contourTitle = QStringLiteral("（シュミットネット下半球投影）\r\n地点Ａ");
    d.plotTitle = QStringLiteral("分布図");
    d.grades = {{12.0f, 255u, int16_t(0)},
                {0.5f, 0xFF0000u, int16_t(7)},
                {-0.25f, 0x80000005u, int16_t(3)}};
    d.contourPoles = {{0.25f, -0.5f, 0.3f, 1.125f}};
    d.plotPoles = {{-0.1234567f, 0.75f, 1e-5f, 2.0f}, {0.0f, 0.0f, -0.05f, 0.9f}};
    d.rows = {{"30", "E", "45", "SE"}, {"", "", "", ""}, {"120", "W", "8", "N"}, {"", "", "", ""}};
    return d;
}

// Runs `body` in a child process whose address space may grow by at most `extraBytes`: "ok"
// when it returned true, "false" when it returned false, "crashed" when it died (an allocation
// failure nobody caught ends in an abort).
inline std::string WithinMemory(long extraBytes, const std::function<bool()>& body) {
    std::fflush(nullptr); // the child must not repeat what is buffered
    const pid_t child = fork();
    if (child == 0) {
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        const rlim_t limit = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE) + extraBytes);
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_AS, &r);
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return "crashed";
    return WEXITSTATUS(status) == 0 ? "ok" : "false";
}
