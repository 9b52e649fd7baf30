#pragma once
// The whole document as JSON, for tools and tests. Keys and layout are a contract read by other
// tools: pictures and frames list only occupied slots with their index.

#include <functional>
#include <string>

class cProject;

// toUtf8 converts a text of the document (project code page) to UTF-8; null keeps the bytes.
std::string DumpProjectJson(const cProject& doc, const std::function<std::string(const std::string&)>& toUtf8 = {},
                            int indent = 2);
