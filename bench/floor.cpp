// The process floor: a C++ program that only prints a fixed result document.
#include <cstdio>

int main() {
  std::fputs(
      "\n<Prtg>\n\n<Text>(BIN) Kestrovan: Info=DB4,Date=20261210,Time=061500,Sid=BIN     </Text>\n"
      "\n<Result><Channel>DD-Tables missing</Channel>\n<Value>1.234</Value></Result>\n"
      "\n<Result><Channel>DD-Indexes missing</Channel>\n<Value>17</Value></Result>\n"
      "\n<Result><Channel>DD-Views missing</Channel>\n<Value>0</Value></Result>\n\n</Prtg>\n",
      stdout);
  return 0;
}
