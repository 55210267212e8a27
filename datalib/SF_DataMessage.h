#pragma once
// Status of every file operation of the data library.

enum SF_DataMessage {
  SF_DATA_OK = 0,
  SF_DATA_FILE_ERROR = 2
};
