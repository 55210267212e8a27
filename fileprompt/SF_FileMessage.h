#pragma once
// The answer of every prompt: a choice was made, or there is none to read.
// The values are part of the public interface.

enum SF_FileMessage {
  SF_FILE_OK = 0,
  SF_FILE_CANCEL = 1
};
