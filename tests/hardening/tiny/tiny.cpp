// A small program whose version resource the hardening rows replace with damaged ones.
int main()
{
    return 0;
}
