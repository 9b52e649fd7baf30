#include "ui_test.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>

std::vector<strUiTest>& UiTests() {
    static std::vector<strUiTest> tests;
    return tests;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("PelkoEditorTests"));
    if (argc == 4 && std::strcmp(argv[1], "--put-clipboard") == 0)
        return RunClipboardWriter(argv[2], argv[3]);
    const char* only = argc >= 2 && argv[1][0] != '-' ? argv[1] : nullptr;
    // Qt Test sees the arguments after the class name.
    std::vector<char*> args{argv[0]};
    for (int i = only ? 2 : 1; i < argc; ++i)
        args.push_back(argv[i]);
    int failures = 0;
    bool found = false;
    for (const auto& t : UiTests()) {
        if (only && std::strcmp(only, t.name) != 0) continue;
        found = true;
        auto test = t.make();
        failures += QTest::qExec(test.get(), int(args.size()), args.data());
    }
    if (only && !found) {
        std::fprintf(stderr, "no test class %s\n", only);
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
