/* The I/O floor of a build: what reading the layout once and writing the
 * same files with the same numbers of bytes costs, and nothing else.
 *   bench_io_floor <layout file> <output directory> <sizes file>
 * The sizes file has one byte count a line, one line per file the build
 * wrote (the layout included); the files are written as <directory>/<n>. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s <layout file> <output directory> <sizes file>\n", argv[0]);
        return 2;
    }
    FILE *in = fopen(argv[1], "rb");
    FILE *sizes = fopen(argv[3], "r");
    if (!in || !sizes) {
        perror(in ? argv[3] : argv[1]);
        return 1;
    }
    fseek(in, 0, SEEK_END);
    size_t capacity = (size_t)ftell(in) + 1;
    fseek(in, 0, SEEK_SET);
    char *bytes = malloc(capacity);
    if (!bytes || fread(bytes, 1, capacity - 1, in) != capacity - 1)
        return 1;
    bytes[capacity - 1] = '\n';
    fclose(in);
    char path[4096];
    long size = 0;
    for (int n = 0; fscanf(sizes, "%ld", &size) == 1; ++n) {
        if ((size_t)size > capacity) {
            char *larger = realloc(bytes, (size_t)size);
            if (!larger)
                return 1;
            memset(larger + capacity, 'x', (size_t)size - capacity);
            bytes = larger;
            capacity = (size_t)size;
        }
        snprintf(path, sizeof path, "%s/%d", argv[2], n);
        FILE *out = fopen(path, "wb");
        if (!out || fwrite(bytes, 1, (size_t)size, out) != (size_t)size || fclose(out) != 0) {
            perror(path);
            return 1;
        }
    }
    fclose(sizes);
    free(bytes);
    return 0;
}
