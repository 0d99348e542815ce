// The floor a launch is measured against: a whole process that reads the mapping file from the
// current folder, runs TinyXML's stream parse on it, and ends (the document destroyed on the way
// out, as any program's would be). Nothing a launch could do with the file costs less.
#include <tinyxml.h>

#include <fstream>

int main() {
  std::ifstream file("termToInput.xml");
  TiXmlDocument document;
  file >> document;
  return file.bad() || document.Error() ? 1 : 0;
}
