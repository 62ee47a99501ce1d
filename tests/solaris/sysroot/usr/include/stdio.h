/* Stand-in: the C standard input and output (declarations only). */
#ifndef _STDIO_H
#define _STDIO_H

#include <sys/cdefs_sol.h>
#include <sys/types.h>
#include <stdarg.h>

typedef struct __FILE {
    long __pad[16];
} FILE;
typedef long fpos_t;

#ifndef NULL
#define NULL 0L
#endif
#define EOF (-1)
#define BUFSIZ 1024
#define FILENAME_MAX 1024
#define FOPEN_MAX 20
#define L_tmpnam 25
#define TMP_MAX 17576
#define _IOFBF 0000
#define _IOLBF 0100
#define _IONBF 0004
#define SEEK_SET 0
#define SEEK_CUR 1
#define SEEK_END 2

__SOL_BEGIN
extern FILE __iob[];
#define stdin (&__iob[0])
#define stdout (&__iob[1])
#define stderr (&__iob[2])

int remove(const char *);
int rename(const char *, const char *);
FILE *tmpfile(void);
char *tmpnam(char *);
int fclose(FILE *);
int fflush(FILE *);
FILE *fopen(const char *, const char *);
FILE *freopen(const char *, const char *, FILE *);
FILE *fdopen(int, const char *);
FILE *fmemopen(void *, size_t, const char *);
FILE *open_memstream(char **, size_t *);
int fileno(FILE *);
void setbuf(FILE *, char *);
int setvbuf(FILE *, char *, int, size_t);
int fprintf(FILE *, const char *, ...);
int fscanf(FILE *, const char *, ...);
int printf(const char *, ...);
int scanf(const char *, ...);
int snprintf(char *, size_t, const char *, ...);
int sprintf(char *, const char *, ...);
int sscanf(const char *, const char *, ...);
int vfprintf(FILE *, const char *, va_list);
int vfscanf(FILE *, const char *, va_list);
int vprintf(const char *, va_list);
int vscanf(const char *, va_list);
int vsnprintf(char *, size_t, const char *, va_list);
int vsprintf(char *, const char *, va_list);
int vsscanf(const char *, const char *, va_list);
int vasprintf(char **, const char *, va_list);
int asprintf(char **, const char *, ...);
int fgetc(FILE *);
char *fgets(char *, int, FILE *);
int fputc(int, FILE *);
int fputs(const char *, FILE *);
int getc(FILE *);
int getchar(void);
int putc(int, FILE *);
int putchar(int);
int puts(const char *);
int ungetc(int, FILE *);
size_t fread(void *, size_t, size_t, FILE *);
size_t fwrite(const void *, size_t, size_t, FILE *);
int fgetpos(FILE *, fpos_t *);
int fseek(FILE *, long, int);
int fseeko(FILE *, off_t, int);
int fsetpos(FILE *, const fpos_t *);
long ftell(FILE *);
off_t ftello(FILE *);
void rewind(FILE *);
void clearerr(FILE *);
int feof(FILE *);
int ferror(FILE *);
void perror(const char *);
FILE *popen(const char *, const char *);
int pclose(FILE *);
ssize_t getline(char **, size_t *, FILE *);
__SOL_END

#endif
