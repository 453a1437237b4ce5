// The part of SAP's classic RFC API (release 640, non-Unicode) that the
// sensor uses, with the vendor's names, field orders, values and calling
// convention. The built-in library (rfcsim/) implements these functions; the
// vendor's library (librfc32.dll, librfccm.so) exports the same names, and
// the sensor binds either at run time. No #pragma pack: the vendor's
// structures use natural alignment.
#pragma once

// The vendor's calling convention: _stdcall on 32-bit Windows (and ignored
// by the compilers on 64-bit Windows), the default elsewhere.
#if defined(_WIN32)
#define SAP_API __stdcall
#else
#define SAP_API
#endif

extern "C" {

typedef char rfc_char_t;

typedef unsigned RFC_HANDLE;
#define RFC_HANDLE_NULL 0

typedef unsigned RFC_TYPEHANDLE;
typedef void* ITAB_H;

typedef enum {
  RFC_OK,
  RFC_FAILURE,
  RFC_EXCEPTION,
  RFC_SYS_EXCEPTION,
  RFC_CALL,
  RFC_INTERNAL_COM,
  RFC_CLOSED,
  RFC_RETRY,
  RFC_NO_TID,
  RFC_EXECUTED,
  RFC_SYNCHRONIZE,
  RFC_MEMORY_INSUFFICIENT,
  RFC_VERSION_MISMATCH,
  RFC_NOT_FOUND,
  RFC_CALL_NOT_SUPPORTED,
  RFC_NOT_OWNER,
  RFC_NOT_INITIALIZED,
  RFC_SYSTEM_CALLED,
  RFC_INVALID_HANDLE,
  RFC_INVALID_PARAMETER,
  RFC_CANCELED,
  RFC_CONVERSION,
  RFC_INVALID_PROTOCOL,
  RFC_TIMEOUT
} RFC_RC;

typedef enum { RFC_MODE_R3ONLY = 0, RFC_MODE_CPIC = 1 } RFC_MODE;

typedef struct {
  rfc_char_t* destination;
  RFC_MODE mode;
  void* connopt;
  rfc_char_t* client;
  rfc_char_t* user;
  rfc_char_t* password;
  rfc_char_t* language;
  int trace;
} RFC_OPTIONS;

typedef struct {
  rfc_char_t* hostname;
  int sysnr;
  rfc_char_t* gateway_host;
  rfc_char_t* gateway_service;
} RFC_CONNOPT_R3ONLY;

typedef struct {
  rfc_char_t* gateway_host;
  rfc_char_t* gateway_service;
} RFC_CONNOPT_CPIC;

typedef struct {
  char* name;
  unsigned nlen;
  RFC_TYPEHANDLE type;
  unsigned leng;
  void* addr;
} RFC_PARAMETER;

typedef enum {
  RFC_ITMODE_BYREFERENCE = 0,
  RFC_ITMODE_BYVALUE = 1,
  RFC_ITMODE_KEEPALIVE = 2
} RFC_ITMODE;

typedef struct {
  char* name;
  unsigned nlen;
  RFC_TYPEHANDLE type;
  unsigned leng;
  ITAB_H ithandle;
  RFC_ITMODE itmode;
  int newitab;
} RFC_TABLE;

typedef struct {
  char key[33];
  char status[128];
  char message[256];
  char intstat[128];
} RFC_ERROR_INFO;

typedef enum {
  RFC_ERROR_PROGRAM = 101,
  RFC_ERROR_COMMUNICATION = 102,
  RFC_ERROR_LOGON_FAILURE = 103,
  RFC_ERROR_SYSTEM_FAILURE = 104,
  RFC_ERROR_APPLICATION_EXCEPTION = 105,
  RFC_ERROR_RESOURCE = 106,
  RFC_ERROR_PROTOCOL = 107,
  RFC_ERROR_INTERNAL = 108,
  RFC_ERROR_CANCELLED = 109,
  RFC_ERROR_BUSY = 110
} RFC_ERROR_GROUP;

typedef struct {
  RFC_ERROR_GROUP group;
  char key[33];
  char message[513];
} RFC_ERROR_INFO_EX;

typedef void(SAP_API* RFC_ERROR_HANDLER)(rfc_char_t* error_id);
typedef void*(SAP_API* RFC_ALLOCATE)(void* old, unsigned long size);

typedef struct {
  RFC_ERROR_HANDLER errorhandler;
  RFC_ALLOCATE allocate;
} RFC_ENV;

typedef struct {
  rfc_char_t* name;
  unsigned type;
  unsigned length;
  unsigned decimals;
  unsigned offset;  // not read: the library computes the offsets
} RFC_TYPE_ELEMENT;

#define TYPC 0
#define TYPDATE 1
#define TYPP 2
#define TYPTIME 3
#define TYPINT 8

void SAP_API RfcEnvironment(RFC_ENV* environment);
RFC_HANDLE SAP_API RfcOpen(RFC_OPTIONS* options);
RFC_HANDLE SAP_API RfcOpenEx(rfc_char_t* connect, RFC_ERROR_INFO_EX* error_info);
RFC_RC SAP_API RfcCall(RFC_HANDLE handle, rfc_char_t* function, RFC_PARAMETER* parameters,
                       RFC_TABLE* tables);
RFC_RC SAP_API RfcReceive(RFC_HANDLE handle, RFC_PARAMETER* parameters, RFC_TABLE* tables,
                          rfc_char_t** exception);
void SAP_API RfcClose(RFC_HANDLE handle);
int SAP_API RfcLastError(RFC_ERROR_INFO* error_info);
RFC_RC SAP_API RfcInstallStructure(rfc_char_t* name, RFC_TYPE_ELEMENT* elements, unsigned entries,
                                   RFC_TYPEHANDLE* type_handle);
ITAB_H SAP_API ItCreate(char* name, unsigned leng, unsigned occu, unsigned memo);
unsigned SAP_API ItFill(ITAB_H table);
int SAP_API ItDelete(ITAB_H table);
void* SAP_API ItAppLine(ITAB_H table);
void* SAP_API ItGetLine(ITAB_H table, unsigned line);

}  // extern "C"
