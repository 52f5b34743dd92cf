// The process entry: hands the command line to the application object.
int main()
{
    return 0;
}
