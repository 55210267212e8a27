// Chooses a file name through the file prompt, writes a delimited file there
// with the data library, chooses it again and reads it back. Prints what
// went wrong and ends with 1 when anything did.
//   consumer DIRECTORY

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include <SF_DataASCII.h>
#include <SF_FilePrompt.h>
#include <SF_ScriptedDialog.h>

namespace {

int fail(const std::string& what) {
  std::cerr << "consumer: " << what << '\n';
  return 1;
}

std::string bytesOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) return fail("usage: consumer DIRECTORY");
  const std::filesystem::path target = std::filesystem::path(argv[1]) / "levels.csv";

  SF_ScriptedDialog dialog;
  SF_FilePrompt prompt(dialog);
  prompt.FileSuffix("csv");
  prompt.FilePrompt("Save the levels");
  prompt.OpenMode(SF_WRITE);
  dialog.chooseFile(target.string());
  if (prompt.getFile() != SF_FILE_OK) return fail("the prompt for a file to write gave no file");
  const std::string written = prompt.Directory() + prompt.FileName(1);
  if (written != target.string()) return fail("the prompt gave " + written + " for " + target.string());

  const std::vector<std::vector<std::string>> records{{"Receptor", "Lmax"}, {"Row houses", "78.5"}};
  SF_DataASCII out;
  out.Fields(records);
  if (out.writeFields(written) != SF_DATA_OK) return fail("cannot write " + written);
  if (bytesOf(written) != "Receptor,Lmax\r\nRow houses,78.5\r\n") return fail("unexpected bytes in " + written);

  prompt.OpenMode(SF_READ);
  prompt.FilePrompt("Open the levels");
  dialog.chooseFile(written);
  if (prompt.getFile() != SF_FILE_OK) return fail("the prompt for a file to read gave no file");
  SF_DataASCII in;
  if (in.readFields(prompt.Directory() + prompt.FileName(1)) != SF_DATA_OK) return fail("cannot read " + written);
  if (in.Fields().toVectors() != records) return fail("the records read back differ from those written");
  if (dialog.showings().size() != 2 || dialog.showings()[0].kind != SF_ScriptedDialog::Kind::Save ||
      dialog.showings()[1].kind != SF_ScriptedDialog::Kind::Open)
    return fail("the prompt did not show a save dialog and then an open dialog");

  std::cout << "wrote and read " << written << '\n';
  return 0;
}
