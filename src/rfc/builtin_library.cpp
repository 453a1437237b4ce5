// The built-in library's functions, linked into the sensor.
#include "rfc/rfc_functions.h"

namespace kestrovan {

RfcFunctions builtin_rfc_functions() {
  RfcFunctions functions;
  functions.open = &::RfcOpen;
  functions.open_ex = &::RfcOpenEx;
  functions.call = &::RfcCall;
  functions.receive = &::RfcReceive;
  functions.close = &::RfcClose;
  functions.last_error = &::RfcLastError;
  functions.environment = &::RfcEnvironment;
  functions.install_structure = &::RfcInstallStructure;
  functions.it_create = &::ItCreate;
  functions.it_delete = &::ItDelete;
  functions.it_fill = &::ItFill;
  functions.it_app_line = &::ItAppLine;
  functions.it_get_line = &::ItGetLine;
  return functions;
}

}  // namespace kestrovan
