/* The least a status client can be: the two exchanges relayctl status makes (the input
 * byte, then the output byte), each one datagram out and at most one back within 1000 ms,
 * and the two bytes printed. Usage: minimal_client ADDRESS PORT */
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

static int Exchange(int fd, const struct sockaddr_in* to, const char* request) {
  char reply[8192];
  struct pollfd p = {fd, POLLIN, 0};
  ssize_t got;
  long n = 0;
  int digits = 0;
  if (sendto(fd, request, strlen(request), 0, (const struct sockaddr*)to, sizeof *to) < 0)
    return -1;
  if (poll(&p, 1, 1000) != 1) return -1;
  got = recv(fd, reply, sizeof reply, 0);
  if (got <= 0) return -1;
  for (ssize_t i = 0; i < got; ++i) {
    if (reply[i] >= '0' && reply[i] <= '9' && n < 100000000) {
      n = n * 10 + (reply[i] - '0');
      digits = 1;
    }
  }
  return digits ? (int)(n % 256) : -1;
}

int main(int argc, char** argv) {
  struct sockaddr_in to;
  int fd;
  int inputs;
  int outputs;
  if (argc != 3) {
    fprintf(stderr, "usage: minimal_client ADDRESS PORT\n");
    return 2;
  }
  memset(&to, 0, sizeof to);
  to.sin_family = AF_INET;
  to.sin_port = htons((unsigned short)atoi(argv[2]));
  if (inet_pton(AF_INET, argv[1], &to.sin_addr) != 1) return 2;
  fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return 1;
  inputs = Exchange(fd, &to, "VEDOVIZ0");
  outputs = Exchange(fd, &to, "VEDOVIZ2");
  close(fd);
  if (inputs < 0 || outputs < 0) return 1;
  printf("inputs 0x%02X outputs 0x%02X\n", inputs, outputs);
  return 0;
}
