/* StandinCallWordsPointer / StandinCallWordsNumber (procedure, words, count), cdecl, 32-bit
   x86 Windows: pushes count 4-byte words (words[0] lowest, where the callee finds its first
   argument), calls the procedure and restores the stack pointer from the frame, so that it
   does not matter whether the callee removed its arguments (standard calling convention)
   or left them (C convention). EAX and the x87 stack are left as the procedure returned
   them: the two names differ only in what the caller reads. */
    .text
    .globl _StandinCallWordsPointer
    .globl _StandinCallWordsNumber
    .p2align 4
_StandinCallWordsPointer:
_StandinCallWordsNumber:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    movl 8(%ebp), %eax      /* procedure */
    movl 12(%ebp), %esi     /* words */
    movl 16(%ebp), %ecx     /* count */
    leal 0(,%ecx,4), %edx
    subl %edx, %esp
    andl $-16, %esp         /* the arguments start 16-byte aligned */
    movl %esp, %edi
    cld
    rep movsl
    call *%eax
    leal -8(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebp
    ret
