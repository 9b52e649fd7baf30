#pragma once
// The editor's test program: test classes register themselves; main runs the one named on the
// command line (all of them without a name).

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

struct strUiTest {
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
};
std::vector<strUiTest>& UiTests();
// The second process of the clipboard test ("--put-clipboard NAME FILE").
int RunClipboardWriter(const char* name, const char* file);

#define PELKO_UI_TEST(Class)                                                                                 \
    static const bool kRegistered##Class =                                                                   \
        (UiTests().push_back({#Class, [] { return std::make_unique<Class>(); }}), true);
