/* Loads the library knowing only its export names, opens COM<port> and
 * reads PLC memory with Order50, as a program of any language would.
 * usage: load_by_name LIBRARY PORT ADDRESS COUNT */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

typedef int (*OpenComFn)(int, int, int, int, int, int);
typedef int (*CloseComFn)(int);
typedef unsigned char (*Order50Fn)(int, int, int, unsigned char*);

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: load_by_name LIBRARY PORT ADDRESS COUNT\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW);
  if (!library) {
    fprintf(stderr, "%s\n", dlerror());
    return 1;
  }
  OpenComFn openCom = (OpenComFn)dlsym(library, "OpenCom");
  CloseComFn closeCom = (CloseComFn)dlsym(library, "CloseCom");
  Order50Fn order50 = (Order50Fn)dlsym(library, "Order50");
  if (!openCom || !closeCom || !order50) {
    fprintf(stderr, "export missing\n");
    return 1;
  }
  const int count = atoi(argv[4]);
  unsigned char reply[1024] = {0};
  const int handle = openCom(0, atoi(argv[2]), 9600, 8, 1, 0);
  printf("handle: %d\n", handle);
  if (!handle || count < 0 || count > 1018) return 1;
  const int result = order50(handle, atoi(argv[3]), count, reply);
  printf("result: %d\ndata:", result);
  for (int i = 0; i < count; ++i) printf(" %02X", reply[4 + i]);
  printf("\nclose: %d\n", closeCom(handle));
  fflush(stdout);
  dlclose(library);
  return result == 6 ? 0 : 1;
}
