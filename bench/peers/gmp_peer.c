// SPDX-License-Identifier: MIT
/* The GMP peer: what a short C program on GMP takes for each workload, the practical floor
 * for the big-integer ones. Every mode prints its whole result in decimal, so the conversion
 * is timed as it is for the other peers.
 *
 *   gmp_peer pow2 N      2^N
 *   gmp_peer fac N       N!
 *   gmp_peer mul FILE    a*b, FILE holding a and b on two lines
 *   gmp_peer div FILE    floor(a/b), the same way (a general division, as the others do)
 *   gmp_peer expr FILE   one short expression a line (+ - * / ^, brackets, sqrt), evaluated
 *                        in long double: no GMP, the floor for parsing, evaluating and
 *                        printing a tiny expression (the peer "c-ld")
 *
 * Built by bench/compare-peers.sh with cc -O2 ... -lgmp -lm; never part of the project.
 */
#include <gmp.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char *read_all(const char *path) {
    FILE *f = fopen(path, "rb");
    if (!f) {
        perror(path);
        exit(2);
    }
    size_t size = 0, cap = 1 << 16;
    char *text = malloc(cap);
    for (size_t got; text && (got = fread(text + size, 1, cap - size - 1, f)) > 0;) {
        size += got;
        if (cap - size == 1) text = realloc(text, cap *= 2);
    }
    if (!text) {
        fputs("out of memory\n", stderr);
        exit(2);
    }
    fclose(f);
    text[size] = '\0';
    return text;
}

/* The two operands of FILE, one a line. */
static void read_operands(const char *path, mpz_t a, mpz_t b) {
    char *text = read_all(path);
    char *second = strchr(text, '\n');
    if (!second) {
        fprintf(stderr, "%s: two lines expected\n", path);
        exit(2);
    }
    *second++ = '\0';
    second[strcspn(second, "\n")] = '\0';
    if (mpz_set_str(a, text, 10) != 0 || mpz_set_str(b, second, 10) != 0) {
        fprintf(stderr, "%s: not a decimal integer\n", path);
        exit(2);
    }
    free(text);
}

/* Recursive descent over long double: sum, product, power (right to left), operand. */
static const char *at;
static long double sum(void);

static void skip_blanks(void) {
    while (*at == ' ' || *at == '\t')
        at++;
}

static long double operand(void) {
    skip_blanks();
    if (*at == '-') {
        at++;
        return -operand();
    }
    if (*at == '(') {
        at++;
        long double v = sum();
        skip_blanks();
        at += *at == ')';
        return v;
    }
    if (strncmp(at, "sqrt", 4) == 0) {
        at += 4;
        return sqrtl(operand());
    }
    char *end;
    long double v = strtold(at, &end);
    at = end;
    return v;
}

static long double power(void) {
    long double base = operand();
    skip_blanks();
    if (*at != '^') return base;
    at++;
    return powl(base, power());
}

static long double product(void) {
    long double v = power();
    for (;;) {
        skip_blanks();
        if (*at == '*')
            at++, v *= power();
        else if (*at == '/')
            at++, v /= power();
        else
            return v;
    }
}

static long double sum(void) {
    long double v = product();
    for (;;) {
        skip_blanks();
        if (*at == '+')
            at++, v += product();
        else if (*at == '-')
            at++, v -= product();
        else
            return v;
    }
}

int main(int argc, char **argv) {
    if (argc != 3) {
        fputs("usage: gmp_peer pow2|fac N | mul|div|expr FILE\n", stderr);
        return 2;
    }
    const char *mode = argv[1], *arg = argv[2];
    if (strcmp(mode, "expr") == 0) {
        char *text = read_all(arg);
        for (char *line = strtok(text, "\n"); line; line = strtok(NULL, "\n")) {
            at = line;
            printf("%.18Lg\n", sum());
        }
        return fflush(stdout) != 0;
    }

    mpz_t a, b, r;
    mpz_inits(a, b, r, NULL);
    if (strcmp(mode, "pow2") == 0) {
        mpz_ui_pow_ui(r, 2, strtoul(arg, NULL, 10));
    } else if (strcmp(mode, "fac") == 0) {
        mpz_fac_ui(r, strtoul(arg, NULL, 10));
    } else if (strcmp(mode, "mul") == 0) {
        read_operands(arg, a, b);
        mpz_mul(r, a, b);
    } else if (strcmp(mode, "div") == 0) {
        read_operands(arg, a, b);
        mpz_fdiv_q(r, a, b);
    } else {
        fprintf(stderr, "gmp_peer: unknown mode %s\n", mode);
        return 2;
    }
    /* The process ends here: nothing is freed. */
    mpz_out_str(stdout, 10, r);
    putchar('\n');
    return fflush(stdout) != 0;
}
