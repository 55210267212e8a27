#pragma once
// Whether the prompt asks for a file to read (an open dialog) or a file to
// write (a save dialog). The values are part of the public interface.

enum SF_FileMode {
  SF_READ = 0,
  SF_WRITE = 1
};
