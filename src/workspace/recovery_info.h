#pragma once
// The description kept beside a recovery copy, as JSON:
//
//   {"format":1, "origin":"file", "path":"/home/me/fire.dat", "id":"", "baseFolder":"/home/me",
//    "fileName":"fire.dat", "saveFormat":0, "savedAt":1796140800,
//    "lastChange":{"name":"kStepMoveCells", "args":[3], "text":"Move 3 cells"}}
//
// origin is "untitled", "file" or "game". The last change is kept as the name of its message
// (stable across versions, unlike the number) with its arguments, so the editor can show it in the
// user's language, and as English text for a program that does not know that name. A text that is
// not UTF-8 (a document text in CP932, a path in another encoding) is kept as {"hex":"..."}.

#include "workspace/recovery_store.h"

#include <cstdint>
#include <span>
#include <string>

std::string EncodeRecoveryInfo(const strRecoveryInfo& info);
// False with the reason when the bytes are not such a description.
bool DecodeRecoveryInfo(std::span<const uint8_t> bytes, strRecoveryInfo& info, strMessage* error = nullptr);
