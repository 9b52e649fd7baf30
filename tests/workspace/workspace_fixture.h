#pragma once
// Settings whose file lies in a temporary folder, with "FolderName_C" as given: the start of every
// workspace test.

#include "config/config.h"
#include "support/test_support.h"

#include <string>

struct strWorkspaceFixture {
    testing_support::TempDir dir;
    cConfig config;
    explicit strWorkspaceFixture(const std::string& workingFolder = "Data") {
        config.filePath = dir.file("config.ini");
        config.FolderName_C = workingFolder;
    }
};
