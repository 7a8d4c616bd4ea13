/* moriel32: the Quillane translation engine, English to Portuguese.
 *
 * The one public header for outside callers. Load libmoriel32.so (dlopen) and
 * bind the exports by name, or link against it.
 *
 * All text is Windows-1252. The caller owns the request block and every
 * buffer it points to, for the whole request.
 */
#ifndef MORIEL32_H
#define MORIEL32_H

#include <stdint.h>

#if defined(MORIEL32_CONSTRUCAO)
#define MORIEL_API __attribute__((visibility("default")))
#else
#define MORIEL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Document kinds (tipo). */
#define TIPO_TEXTO 0
#define TIPO_HTML 1
#define TIPO_RTF 2

/* Run modes (modo). */
#define MODO_FLUXO 0              /* caller memory, handed over in chunks */
#define MODO_ARQUIVO 1            /* entrada and saida name files */
#define MODO_AREA_TRANSFERENCIA 2 /* the desktop clipboard */

/* Thread messages of the stream hand-over. */
#define WM_USER 1024
#define MSG_TRADUCAO (WM_USER + 1)

/* Stream mode: one hand-over never writes more than MORIEL_TAM_SAIDA bytes
 * into saida, whatever the chunk held; give saida at least that much room.
 * (A translation can be much longer than its source: one sentence alone may
 * grow to 150 words of 50 bytes, and HTML and RTF add markup to each word.)
 * Output beyond that waits in the engine for the following hand-overs; at the
 * end of input the engine may therefore hand over more than once with
 * threadTrabalho still set: call again with tamEntrada 0 until it is 0. */
#define MORIEL_TAM_SAIDA 65536

/* The request block: packed, little-endian. Pointers and thread handles take
 * the native pointer width; counters, lengths and thread ids are 32-bit. On a
 * 32-bit build it is 62 bytes; on x86-64, 98 bytes.
 *
 * Zero it, fill the caller's fields and keep it alive and unmoved from the
 * first call until the request has finished. */
#pragma pack(push, 1)
typedef struct PedidoTraducao {
    uint8_t tipo;              /* TIPO_TEXTO, TIPO_HTML or TIPO_RTF */
    uint8_t modo;              /* MODO_FLUXO, MODO_ARQUIVO or MODO_AREA_TRANSFERENCIA */
    char* urlPagina;           /* HTML: address of the page, base of relative links */
    char* prefixoLink;         /* HTML: text put in front of rewritten link addresses */
    char* listaFontes;         /* HTML: optional buffer for frame source addresses */
    char* arqDesconhecidas;    /* optional file that receives the distinct unknown words */
    int32_t nConhecidas;       /* engine: words found in a dictionary */
    int32_t nDesconhecidas;    /* engine: distinct words not found */
    char* entrada;             /* stream: input chunk; file: input file name */
    char* saida;               /* stream: output buffer; file: output file name */
    int32_t tamEntrada;        /* stream: bytes in entrada, 0 = end of input */
    int32_t tamSaida;          /* engine: bytes written to saida since the last hand-over */
    void* proprio;             /* engine: the block's own address */
    void* threadChamador;      /* engine: the calling thread */
    uint32_t idChamador;       /* engine: id of the calling thread */
    void* threadTrabalho;      /* engine: the worker while a stream request runs, else 0 */
    uint32_t idTrabalho;       /* engine: id of the worker thread */
} PedidoTraducao;
#pragma pack(pop)

/* Translates according to the request. Returns nonzero when the request was
 * accepted, 0 when the engine is not ready (its dictionaries or verb table did
 * not load) or, in stream mode, when the worker thread cannot be started.
 *
 * Stream mode: call with the first chunk; on return consume tamSaida bytes of
 * saida. While threadTrabalho is nonzero the engine waits for more: put the
 * next chunk (tamEntrada 0 at the end) and call again. threadTrabalho 0 means
 * the request has finished.
 *
 * File and clipboard modes: tamSaida is negative after the call when the
 * output could not be written (a full disk, an unwritable file, no clipboard);
 * the engine has shown a message saying why. */
MORIEL_API uint8_t VertalInglPort(PedidoTraducao* pedido);

/* Conjugates the Portuguese infinitive in texto in place: tempo 0 present,
 * 1 preterite, 2 imperfect, 3 future, 4 conditional, 5 imperative (each with
 * pessoa 0-5: I, you, he/she, we, you, they), 6 participle, 7 gerund, 8 the
 * infinitive unchanged. Only the low 16 bits of the codes are used. texto must
 * have room for the longest form: 256 bytes always suffice. */
MORIEL_API void ConjugarVerboPortugues(char* texto, uint32_t tempo, uint32_t pessoa);

#ifdef __cplusplus
}
#endif

#endif /* MORIEL32_H */
